<?xml version="1.0" encoding="UTF-8"?>
<!-- MARCXML to a labelled plain-text display, handed out as SUTRS. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:m="http://www.loc.gov/MARC21/slim">
  <xsl:include href="marc-text.xsl"/>
  <xsl:output method="text" encoding="UTF-8"/>

  <xsl:template name="line">
    <xsl:param name="label"/>
    <xsl:param name="value"/>
    <xsl:value-of select="substring(concat($label, ':             '), 1, 13)"/>
    <xsl:value-of select="normalize-space($value)"/>
    <xsl:text>&#10;</xsl:text>
  </xsl:template>

  <xsl:template match="/m:record">
    <xsl:for-each select="m:datafield[@tag='245']">
      <xsl:call-template name="line">
        <xsl:with-param name="label" select="'Title'"/>
        <xsl:with-param name="value">
          <xsl:call-template name="subfields"><xsl:with-param name="codes" select="'abc'"/></xsl:call-template>
        </xsl:with-param>
      </xsl:call-template>
    </xsl:for-each>
    <xsl:for-each select="m:datafield[@tag='100' or @tag='110']">
      <xsl:call-template name="line">
        <xsl:with-param name="label" select="'Author'"/>
        <xsl:with-param name="value">
          <xsl:call-template name="chop">
            <xsl:with-param name="text">
              <xsl:call-template name="subfields"><xsl:with-param name="codes" select="'ad'"/></xsl:call-template>
            </xsl:with-param>
          </xsl:call-template>
        </xsl:with-param>
      </xsl:call-template>
    </xsl:for-each>
    <xsl:for-each select="m:datafield[@tag='700' or @tag='710']">
      <xsl:call-template name="line">
        <xsl:with-param name="label" select="'Other names'"/>
        <xsl:with-param name="value">
          <xsl:call-template name="subfields"><xsl:with-param name="codes" select="'ae'"/></xsl:call-template>
        </xsl:with-param>
      </xsl:call-template>
    </xsl:for-each>
    <xsl:for-each select="m:datafield[@tag='250']">
      <xsl:call-template name="line">
        <xsl:with-param name="label" select="'Edition'"/>
        <xsl:with-param name="value" select="m:subfield[@code='a']"/>
      </xsl:call-template>
    </xsl:for-each>
    <xsl:for-each select="m:datafield[(@tag='260' or @tag='264') and m:subfield[@code='b']]">
      <xsl:call-template name="line">
        <xsl:with-param name="label" select="'Published'"/>
        <xsl:with-param name="value">
          <xsl:call-template name="subfields"><xsl:with-param name="codes" select="'abc'"/></xsl:call-template>
        </xsl:with-param>
      </xsl:call-template>
      <xsl:call-template name="line">
        <xsl:with-param name="label" select="'Date'"/>
        <xsl:with-param name="value">
          <xsl:call-template name="chop"><xsl:with-param name="text" select="m:subfield[@code='c']"/></xsl:call-template>
        </xsl:with-param>
      </xsl:call-template>
    </xsl:for-each>
    <xsl:for-each select="m:datafield[@tag='300']">
      <xsl:call-template name="line">
        <xsl:with-param name="label" select="'Description'"/>
        <xsl:with-param name="value">
          <xsl:call-template name="subfields"><xsl:with-param name="codes" select="'abc'"/></xsl:call-template>
        </xsl:with-param>
      </xsl:call-template>
    </xsl:for-each>
    <xsl:for-each select="m:datafield[@tag='020']">
      <xsl:call-template name="line">
        <xsl:with-param name="label" select="'ISBN'"/>
        <xsl:with-param name="value" select="concat(m:subfield[@code='a'], ' (', m:subfield[@code='q'], ')')"/>
      </xsl:call-template>
    </xsl:for-each>
    <xsl:for-each select="m:datafield[@tag='650']">
      <xsl:call-template name="line">
        <xsl:with-param name="label" select="'Subject'"/>
        <xsl:with-param name="value">
          <xsl:call-template name="subfields">
            <xsl:with-param name="codes" select="'axyzv'"/>
            <xsl:with-param name="separator" select="' -- '"/>
          </xsl:call-template>
        </xsl:with-param>
      </xsl:call-template>
    </xsl:for-each>
    <xsl:call-template name="line">
      <xsl:with-param name="label" select="'Record no.'"/>
      <xsl:with-param name="value" select="m:controlfield[@tag='001']"/>
    </xsl:call-template>
  </xsl:template>
</xsl:stylesheet>
